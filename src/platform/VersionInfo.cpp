#include "platform/VersionInfo.h"

const VersionInfo::Block& VersionInfo::program() {
    static const Block block{
        QStringLiteral("Brambleworks"),
        QStringLiteral("3, 1, 4, 0"),
        QStringLiteral("Copyright \u00A9 2026 Brambleworks. All rights reserved."),
        QStringLiteral("Address labels, fitted and placed to the tenth of a millimetre."),
    };
    return block;
}
