#include "KotonamiApplication.h"

#include "dialogs/MessageBoxes.h"
#include "dialogs/QtTranslation.h"

#include <exception>

KotonamiApplication::KotonamiApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Kotonami"));
    InstallQtTranslation(*this);
}

bool KotonamiApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ShowError(error.what());
    } catch (...) {
        ShowError("Unknown error");
    }
    return false;
}

void KotonamiApplication::ShowError(const std::string& utf8Message)
{
    MessageBoxes::ShowError(activeWindow(), QString::fromStdString(utf8Message));
}
