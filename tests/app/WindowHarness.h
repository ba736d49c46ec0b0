#pragma once
// A real main window under the offscreen platform, driven as a writer drives it.

#include "analysis/Cp932Codec.h"
#include "app/TForm1.h"
#include "app/WindowSettingsFile.h"
#include "controls/TRichEditEx.h"
#include "dialogs/TResultForm.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>

#include "ShiftJisText.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>

// Answers the next modal dialog of type T as soon as it is up.
template <class T> void AnswerModal(std::function<void(T*)> answer, int attempts = 500)
{
    QTimer::singleShot(attempts == 500 ? 0 : 10, qApp, [answer, attempts] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget()))
            answer(dialog);
        else if (attempts > 0)
            AnswerModal<T>(answer, attempts - 1);
    });
}

inline void AnswerMessageBox(QMessageBox::StandardButton button, QString* text = nullptr)
{
    AnswerModal<QMessageBox>([button, text](QMessageBox* box) {
        if (text)
            *text = box->text();
        box->button(button)->click();
    });
}

inline void AnswerFileDialog(const QString& path)
{
    AnswerModal<QFileDialog>([path](QFileDialog* dialog) {
        dialog->selectFile(path);
        static_cast<QDialog*>(dialog)->accept(); // runs the dialog's own checks
    });
}

// Answers every modal dialog of type T that comes up while it lives.
template <class T> class ModalCatcher
{
public:
    explicit ModalCatcher(std::function<void(T*)> answer)
        : FState(std::make_shared<State>(State{true, std::move(answer), 0}))
    {
        Poll(FState);
    }
    ~ModalCatcher() { FState->active = false; }
    ModalCatcher(const ModalCatcher&) = delete;
    ModalCatcher& operator=(const ModalCatcher&) = delete;

    int Count() const { return FState->count; }

private:
    struct State
    {
        bool active;
        std::function<void(T*)> answer;
        int count;
    };

    static void Poll(const std::shared_ptr<State>& state)
    {
        QTimer::singleShot(5, qApp, [state] {
            if (!state->active)
                return;
            if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
                ++state->count;
                state->answer(dialog);
            }
            Poll(state);
        });
    }

    std::shared_ptr<State> FState;
};

// Every result dialog shown while it lives: the text it shows and what its copy button copied.
class ReportCatcher
{
public:
    ReportCatcher()
        : FCatcher([this](TResultForm* form) {
              Shown << form->findChild<QLabel*>("Label1")->text();
              form->findChild<QPushButton*>("CopyButton")->click();
              Copied << QGuiApplication::clipboard()->text();
              form->accept();
          })
    {
    }

    QStringList Shown;
    QStringList Copied;

private:
    ModalCatcher<TResultForm> FCatcher;
};

class WindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(FFolder.isValid());
        // Each test's windows keep their settings in the test's folder; the file exists, so no
        // first-start question is asked.
        SetWindowSettingsFileName(Write("Kotonami.ini", {}));
        Form = std::make_unique<TForm1>();
        Form->StartUp({});
        Show();
    }

    void Show()
    {
        Form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Form.get()));
        QApplication::setActiveWindow(Form.get());
    }

    TRichEditEx* Editor() const { return Form->Editor(); }
    QTabBar* Tabs() const { return Form->findChild<QTabBar*>("TabControl1"); }
    QAction* Action(const char* name) const { return Form->findChild<QAction*>(name); }
    QString Field(const char* name) const { return Form->findChild<QLineEdit*>(name)->text(); }

    // The six fields in panel order: characters, per line, lines, words, per line, size.
    std::array<QString, 6> Fields() const
    {
        return {Field("CharNumber"), Field("CharNumberPerLine"), Field("LineNumber"),
                Field("WordNumber"), Field("WordNumberPerLine"), Field("TextSize")};
    }

    // Types every character as a key press; characters beyond ASCII come as the key's text.
    void Type(const QString& text)
    {
        for (const QChar ch : text) {
            if (ch.unicode() < 0x80)
                QTest::keyClick(Editor(), ch.toLatin1());
            else
                QTest::sendKeyEvent(QTest::Click, Editor(), Qt::Key_A, QString(ch), Qt::NoModifier);
        }
    }

    std::string PathOf(const char* name) const
    {
        return FFolder.filePath(QString::fromUtf8(name)).toStdString();
    }

    std::string Write(const char* name, const std::string& bytes) const
    {
        const std::string path = PathOf(name);
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    static std::string Read(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    void ClickTab(int index)
    {
        QTest::mouseClick(Tabs(), Qt::LeftButton, {}, Tabs()->tabRect(index).center());
    }

    std::unique_ptr<TForm1> Form;

private:
    QTemporaryDir FFolder;
};
