#pragma once

#include <QByteArray>
#include <random>

// A web shop's customer export, as the import benchmarks read it: twelve fields per row,
// some quoted (one with a line break inside), with accented letters.
namespace ExportRows {

inline const QByteArray kHeading = "First,Last,Company,Street,Street 2,Town,Region,Postcode,"
                                   "Country,Phone,Email,Notes\r\n";

inline void append(QByteArray& out, std::mt19937& rng) {
    static const char* first[] = {"Ann",           "Bob",   "Zo\xC3\xAB", "Dev",
                                  "J\xC3\xBCrgen", "Farid", "Grace",      "S\xC3\xB8ren"};
    static const char* last[] = {"Lee",      "Smith", "O'Neill", "Nguyen", "M\xC3\xBCller",
                                 "Kowalski", "Patel", "Young",   "Adams",  "Zhang"};
    static const char* towns[] = {"Springfield", "S\xC3\xA3o Paulo", "K\xC3\xB6ln", "Leeds",
                                  "\xC3\x98rsted"};
    const char* f = first[rng() % 8];
    out += f;
    out += ',';
    out += last[rng() % 10];
    out += rng() % 3 == 0 ? ",\"Brambles, Ltd\"," : ",,";
    out += QByteArray::number(int(rng() % 300)) + " High Street,";
    out += rng() % 4 == 0 ? "Flat 2," : ",";
    out += towns[rng() % 5];
    out += ",Shire,AB" + QByteArray::number(int(rng() % 90 + 10)) + " 2CD,UK,";
    out += "0123 " + QByteArray::number(int(rng() % 900000 + 100000)) + ",";
    out += QByteArray(f) + "@example.org,";
    out += rng() % 5 == 0 ? "\"Leave at door\r\nback gate\"" : "";
    out += "\r\n";
}

} // namespace ExportRows
