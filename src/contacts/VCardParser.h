#pragma once

#include "contacts/VCard.h"

#include <QByteArray>
#include <string>
#include <vector>

// Reads vCard 2.1, 3.0 and 4.0 data as address book programs and phones write it: folded
// lines, property groups, any case in names and parameters, escapes, quoted-printable values
// with soft line breaks and a character set, base64 values, a byte-order mark, and 8-bit
// files that are not UTF-8 (taken as Windows-1252). Only the properties a label needs are
// decoded, so large photos cost little. A card without its END line is skipped; lines that
// are not properties are ignored.
class VCardParser {
public:
    // Far beyond any address book: reading stops after one card more than this, and callers
    // refuse such data, since a file of tiny cards would take many times its size in memory.
    static constexpr std::size_t kMaxCards = 1000000;

    // The cards of data in their order (at most maxCards + 1 of them).
    static std::vector<VCard> Parse(const QByteArray& data, std::size_t maxCards = kMaxCards);
    // The contact text of every card of data, in order (at most maxCards + 1 of them).
    static std::vector<std::string> ContactTexts(const QByteArray& data, bool usStyle,
                                                 std::size_t maxCards = kMaxCards);

    // True when data (or its start) begins, after a byte-order mark and blank lines, with
    // BEGIN:VCARD.
    static bool LooksLikeVCard(const QByteArray& data);
};
