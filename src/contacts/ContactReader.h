#pragma once

#include "contacts/CSortStrArray.h"

#include <QString>

// Reads contacts of one source kind (a contact list file, the contacts folder, Google)
// into the contact list. Readers show their own error messages.
class ContactReader {
public:
    struct Result {
        bool ok = false;
        // The contacts came through the import dialog (the list then counts as modified).
        bool imported = false;
        // The file is another program's export (a vCard file): it is read, never saved over.
        bool exportFile = false;
        // The file holds more contacts than were read (the contact limit): never saved over.
        bool readInPart = false;
    };

    virtual ~ContactReader() = default;
    // Appends to list. fileName is the file for file sources and is emptied when the file
    // cannot be opened; other sources ignore it.
    virtual Result Read(QString& fileName, CSortStrArray& list, bool usStyle) = 0;
};
