#pragma once

#include "contacts/DelimitedImporter.h"

class QWidget;

// Imports a foreign delimited file through the import dialog, over the given window.
class ImportDialogImporter : public DelimitedImporter {
public:
    explicit ImportDialogImporter(QWidget* parent = nullptr) : parent_(parent) {}
    std::optional<std::vector<std::string>> ImportContacts(const CCSVFile& file) override;

private:
    QWidget* parent_;
};
