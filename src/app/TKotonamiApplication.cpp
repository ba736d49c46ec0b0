#include "TKotonamiApplication.h"

#include "dialogs/MessageBoxes.h"

#include <exception>

TKotonamiApplication::TKotonamiApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Kotonami"));
}

bool TKotonamiApplication::notify(QObject* receiver, QEvent* event)
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

void TKotonamiApplication::ShowError(const std::string& utf8Message)
{
    MessageBoxes::ShowError(activeWindow(), QString::fromStdString(utf8Message));
}
