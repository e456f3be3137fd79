#include "app/ui/CQuillmarkApp.h"
#include "platform/Allocator.h"

#include <QApplication>

int main(int argc, char** argv) {
    Allocator::keepFreedMemory();
    QApplication app(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    return CQuillmarkApp().Run(arguments);
}
