// Reading an address book folder: 2,000 one-card files, then one export of 2,000 cards each
// with a photo of about 100 KB, then one card whose photo is about 20 MB. Prints
// milliseconds and megabytes per second.
#include "contacts/AddressBookReader.h"
#include "contacts/VCardParser.h"
#include "platform/SettingsStore.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

namespace {

class FolderSetting : public SettingsStore {
public:
    explicit FolderSetting(QString folder) : folder_(std::move(folder)) {}
    std::optional<QByteArray> readBinary(const QString&) const override { return std::nullopt; }
    QString readString(const QString&, const QString&) const override { return folder_; }
    void writeBinary(const QString&, const QByteArray&) override {}
    void writeString(const QString&, const QString&) override {}

private:
    QString folder_;
};

QByteArray card(int i, int photoLines) {
    QByteArray out = "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Lee" + QByteArray::number(i) +
                     ";Ann;;Mrs.;\r\nFN:Ann Lee" + QByteArray::number(i) + "\r\n";
    if (photoLines > 0) {
        out += "PHOTO;ENCODING=b;TYPE=JPEG:";
        const QByteArray line(74, 'Q');
        for (int k = 0; k < photoLines; ++k)
            out += line + "\r\n ";
        out += "Q==\r\n";
    }
    out += "item1.ADR;TYPE=HOME:;;" + QByteArray::number(i) +
           " Main Street;Springfield;IL;62704;USA\r\nEND:VCARD\r\n";
    return out;
}

bool write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

template <typename F> double timeMs(F&& f) {
    QElapsedTimer t;
    t.start();
    f();
    return static_cast<double>(t.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir folder;
    for (int i = 0; i < 2000; ++i) {
        if (!write(folder.filePath(QStringLiteral("%1.vcf").arg(i, 4, 10, QLatin1Char('0'))),
                   card(i, 0)))
            return 1;
    }
    FolderSetting setting(folder.path());
    AddressBookReader reader(setting);
    CSortStrArray list;
    QString none;
    const double folderMs = timeMs([&] { (void)reader.Read(none, list, false); });
    std::printf("folder of 2,000 vCard files: %.1f ms (%d contacts)\n", folderMs, list.GetSize());

    QByteArray exported;
    for (int i = 0; i < 2000; ++i)
        exported += card(i, 1350);
    std::size_t cards = 0;
    const double exportMs = timeMs([&] { cards = VCardParser::Parse(exported).size(); });
    std::printf("export of 2,000 cards with photos, %.0f MB: %.1f ms, %.0f MB/s (%zu cards)\n",
                exported.size() / 1e6, exportMs, exported.size() / 1e6 / (exportMs / 1e3), cards);

    const QByteArray huge = card(1, 270000);
    const double hugeMs = timeMs([&] { cards = VCardParser::Parse(huge).size(); });
    std::printf("one card with a %.0f MB photo: %.1f ms, %.0f MB/s\n", huge.size() / 1e6, hugeMs,
                huge.size() / 1e6 / (hugeMs / 1e3));
    return 0;
}
