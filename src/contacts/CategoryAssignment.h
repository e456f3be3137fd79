#pragma once

#include "contacts/CMyContactsArray.h"

#include <string>
#include <vector>

// What the "Assign Category" dialog does to its working copy of the assignment store for
// the contacts selected in the pane, given by their display texts in pane order.
class CategoryAssignment {
public:
    CategoryAssignment(const CMyContactsArray& store, std::vector<std::string> selected);

    // True when at least one selected contact belongs to category k.
    bool AnySelectedIn(int k) const;
    // The combo entry for category k: the name, with " *" when a selected contact has it.
    std::string EntryText(const std::string& name, int k) const;

    // Puts every selected contact in category k. A contact with no entry gets a new one at
    // the end; entries added by this call are not looked at again, so two selected contacts
    // with the same display text add two entries.
    void Set(int k);
    // Takes every selected contact out of category k, from every entry of its display text;
    // an entry left with no category is removed. Contacts with no entry are left alone.
    void Remove(int k);

    const CMyContactsArray& store() const { return store_; }
    const std::vector<std::string>& selected() const { return selected_; }

private:
    int FindBefore(const std::string& text, int end) const;

    CMyContactsArray store_;
    std::vector<std::string> selected_;
};
