#include "contacts/ContactFileReader.h"

#include "contacts/CCSVFile.h"

ContactReader::Result ContactFileReader::Read(QString& fileName, CSortStrArray& list,
                                              bool usStyle) {
    Result result;
    result.ok = ReadContactFile(fileName, list, usStyle, delimitedImporter, result.imported);
    return result;
}
