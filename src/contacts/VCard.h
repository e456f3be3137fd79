#pragma once

#include <string>
#include <vector>

// The parts of one vCard that make a label: the formatted name, the structured name and the
// first postal address. Texts are UTF-8 with escapes resolved; a component that held several
// values holds them as lines separated by CR LF (name parts: separated by a space).
class VCard {
public:
    // Positions of the structured name (N) and address (ADR) components.
    enum NamePart { Family = 0, Given = 1, Additional = 2, Prefix = 3, Suffix = 4, kNameParts = 5 };
    enum AddressPart {
        PoBox = 0,
        Extended = 1,
        Street = 2,
        Locality = 3,
        Region = 4,
        PostalCode = 5,
        Country = 6,
        kAddressParts = 7
    };

    std::string formattedName;        // FN; empty when absent
    std::vector<std::string> name;    // N's components, as many as the card gave
    std::vector<std::string> address; // the first ADR's components; empty when none
    std::string version;              // VERSION as written ("2.1", "3.0", "4.0")

    // The contact text: the honorific prefix and one space (unless the formatted name
    // already starts with it), the formatted name, the street lines, town, region, postcode
    // and country, each followed by CR LF (town and region by two spaces in US style); empty
    // lines are collapsed. A card with nothing of these gives an empty text.
    std::string ContactText(bool usStyle) const;

    // The formatted name, or "given family" from the structured name when there is none.
    std::string FormattedNameOrGivenFamily() const;

private:
    std::string namePart(int part) const;
    std::string addressPart(int part) const;
};
