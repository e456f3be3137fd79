#pragma once

#include "contacts/ContactReader.h"

class DelimitedImporter;

// The reader for contact list files; delimited files without the marker go to the importer
// when one is set, else they are not loaded.
class ContactFileReader : public ContactReader {
public:
    void SetImporter(DelimitedImporter* importer) { delimitedImporter = importer; }
    Result Read(QString& fileName, CSortStrArray& list, bool usStyle) override;

private:
    DelimitedImporter* delimitedImporter = nullptr;
};
