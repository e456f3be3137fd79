#pragma once

#include <QString>

// Where the program finds and keeps its files.
namespace AppPaths {
// The folder that holds the program file.
QString programFolder();
// The per-user data folder, created when missing.
QString dataFolder();
// The category store file in the per-user data folder.
QString categoryStoreFile();
// The folder of the help pages: beside the program in a build tree, or the installed copy.
QString helpFolder();
// The last path component: the text after the last '/', the whole name when there is none.
QString lastComponent(const QString& path);
} // namespace AppPaths
