// The program in the desktop's Send To menu.

#include "TForm1.h"

#include <QMessageBox>

// Puts the program into the desktop's Send To menu and reports the outcome itself. The desktop's
// Send To folder is not looked up yet, so the registration reports that it could not find it.
void TForm1::RegisterSendTo()
{
    QMessageBox::critical(this, QStringLiteral("Kotonami"),
                          QStringLiteral(u"「送る」フォルダの取得に失敗しました。"));
}
