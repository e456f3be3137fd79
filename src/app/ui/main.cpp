#include "app/ui/CQuillmarkApp.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    return CQuillmarkApp().Run(arguments);
}
