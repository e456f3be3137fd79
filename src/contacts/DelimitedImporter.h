#pragma once

#include <optional>
#include <string>
#include <vector>

class CCSVFile;

// Turns a delimited file without the contact file marker into contacts, by letting the user
// pick and order its columns. The file holds the bytes and what the detection found.
class DelimitedImporter {
public:
    virtual ~DelimitedImporter() = default;
    // The contacts to append, or nullopt when the user cancelled.
    virtual std::optional<std::vector<std::string>> ImportContacts(const CCSVFile& file) = 0;
};
