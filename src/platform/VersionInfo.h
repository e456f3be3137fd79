#pragma once

#include <QString>

// The program's version block, compiled in. Callers read the values by name, as they
// would from a version resource; a name that is not there gives no value.
namespace VersionInfo {
struct Block {
    QString companyName;
    QString productVersion;
    QString legalCopyright;
    QString comments;
};
const Block& program();
} // namespace VersionInfo
