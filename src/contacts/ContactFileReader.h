#pragma once

#include "contacts/ContactReader.h"

class DelimitedImporter;

// The reader for contact list files; delimited files without the marker go to the importer
// when one is set, else they are not loaded. vCard files (an address book's export) are read
// card by card.
class ContactFileReader : public ContactReader {
public:
    void SetImporter(DelimitedImporter* importer) { delimitedImporter = importer; }
    Result Read(QString& fileName, CSortStrArray& list, bool usStyle) override;

    // True when path names a vCard file: by its ending, or by its content when it exists.
    static bool IsVCardFile(const QString& path);

private:
    DelimitedImporter* delimitedImporter = nullptr;
};
