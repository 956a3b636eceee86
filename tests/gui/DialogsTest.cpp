// The Qt dialogs the behaviour classes ask through: answers, default buttons, and the open
// dialog's idea of an executable on this platform.

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gmock/gmock.h>

#include <filesystem>

#include "GuiFixture.h"
#include "ui/qt/QtDialogs.h"

namespace {

using ::testing::UnorderedElementsAre;

template <typename T>
T* OpenDialog() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* dialog = qobject_cast<T*>(widget); dialog != nullptr && dialog->isVisible()) {
            return dialog;
        }
    }
    return nullptr;
}

// Runs check on the modal dialog of type T once it is up.
template <typename T>
void WhenOpen(std::function<void(T*)> check) {
    QTimer::singleShot(0, [check = std::move(check)] {
        T* dialog = nullptr;
        WaitUntil([&] { return (dialog = OpenDialog<T>()) != nullptr; });
        ASSERT_NE(dialog, nullptr);
        check(dialog);
        // A check that failed half-way must not leave the test waiting on the dialog.
        if (dialog->isVisible()) {
            ADD_FAILURE() << "the dialog was left open";
            static_cast<QDialog*>(dialog)->done(0);
        }
    });
}

TEST(QtDialogsTest, QuestionsDefaultAsAskedAndEscapeNeverAnswersYes) {
    QtUi::QtDialogs dialogs;
    Platform::MessageBoxRequest question;
    question.Prompt = u"Are you sure you wish to delete this note?";
    question.Title = u"DELETE NOTE?";
    question.Buttons = Platform::MessageButtons::YesNo;
    question.DefaultButton = Platform::MessageResult::Yes;

    WhenOpen<QMessageBox>([](QMessageBox* box) {
        EXPECT_EQ(box->text(), QStringLiteral("Are you sure you wish to delete this note?"));
        EXPECT_EQ(box->windowTitle(), QStringLiteral("DELETE NOTE?"));
        EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
        EXPECT_EQ(static_cast<QAbstractButton*>(box->defaultButton()),
                  box->button(QMessageBox::Yes));
        QTest::keyClick(box, Qt::Key_Return);
    });
    EXPECT_EQ(dialogs.ShowMessage(question), Platform::MessageResult::Yes);

    WhenOpen<QMessageBox>([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); });
    EXPECT_EQ(dialogs.ShowMessage(question), Platform::MessageResult::No);

    question.DefaultButton = Platform::MessageResult::No;
    question.Icon = Platform::MessageIcon::Exclamation;
    WhenOpen<QMessageBox>([](QMessageBox* box) {
        EXPECT_EQ(box->icon(), QMessageBox::Warning);
        QTest::keyClick(box, Qt::Key_Return);
    });
    EXPECT_EQ(dialogs.ShowMessage(question), Platform::MessageResult::No);

    Platform::MessageBoxRequest notice;
    notice.Prompt = u"Your new application will be available when you restart KIVOLA.";
    notice.Title = u"Kivola";
    WhenOpen<QMessageBox>([](QMessageBox* box) {
        EXPECT_EQ(box->buttons().size(), 1);
        QTest::keyClick(box, Qt::Key_Escape);
    });
    EXPECT_EQ(dialogs.ShowMessage(notice), Platform::MessageResult::Ok);
}

TEST(QtDialogsTest, OpenListsProgramsByExtensionOrExecuteBitAndNamesTheChoice) {
    TestSupport::TempFolder folder;
    const auto script = folder.WriteFile("tool.sh", "#!/bin/sh\n");
    std::filesystem::permissions(script, std::filesystem::perms::owner_exec,
                                 std::filesystem::perm_options::add);
    folder.WriteFile("Setup.EXE", "MZ");
    folder.WriteFile("readme.txt", "text");
    folder.MakeFolder("Apps");
    // The dialog opens on the current folder, the drive the launcher runs from.
    TestSupport::ScopedCurrentFolder inFolder(folder.Path());
    QtUi::QtDialogs dialogs;

    QStringList listed;
    WhenOpen<QFileDialog>([&](QFileDialog* dialog) {
        auto* view = dialog->findChild<QListView*>(QStringLiteral("listView"));
        ASSERT_NE(view, nullptr);
        const auto rows = [&] { return view->model()->rowCount(view->rootIndex()); };
        WaitUntil([&] { return rows() >= 3; });
        QTest::qWait(200);  // the folder is read in the background: let it finish
        QModelIndex tool;
        for (int row = 0; row < rows(); ++row) {
            const QModelIndex index = view->model()->index(row, 0, view->rootIndex());
            listed << index.data().toString();
            if (index.data().toString() == QStringLiteral("tool.sh")) {
                tool = index;
            }
        }
        ASSERT_TRUE(tool.isValid());
        // Picked as a user would: a click on the name, then Open.
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(tool).center());
        auto* buttons = dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
        ASSERT_NE(buttons, nullptr);
        buttons->button(QDialogButtonBox::Open)->click();
    });
    const auto choice = dialogs.ShowOpen(u"All Executables|*.exe");
    EXPECT_THAT(listed, UnorderedElementsAre("Apps", "Setup.EXE", "tool.sh"));
    ASSERT_TRUE(choice.has_value());
    EXPECT_EQ(choice->FileName, folder.Text("tool.sh"));
    EXPECT_EQ(choice->FileTitle, u"tool.sh");

    WhenOpen<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
    EXPECT_FALSE(dialogs.ShowOpen(u"All Executables|*.exe").has_value());
}

}  // namespace
