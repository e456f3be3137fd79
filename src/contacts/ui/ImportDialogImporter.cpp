#include "contacts/ui/ImportDialogImporter.h"

#include "contacts/ui/ImportCSVDlg.h"

std::optional<std::vector<std::string>> ImportDialogImporter::ImportContacts(const CCSVFile& file) {
    return ImportCSVDlg::Run(file, parent_);
}
