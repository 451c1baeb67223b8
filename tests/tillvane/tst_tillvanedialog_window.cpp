// The settings window as a window: starting and stopping the service, the
// start-up branches, closing, minimising to the tray and the panel colours.
#include "dialogfixture.h"
#include "loopbackhttp.h"
#include "modalboxanswerer.h"
#include "privateprogramcopy.h"
#include "startup.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTcpServer>
#include <QTest>

static const bool runsFromPrivateCopy = runFromPrivateCopy();

namespace {

QString autostartEntry()
{
    return privateProgramFolder() + "/config/autostart/" + QCoreApplication::applicationName() + ".desktop";
}

} // namespace

using DialogWindow = DialogFixture;

TEST_F(DialogWindow, StartButtonListensOnTheSavedPortAndStopsAgain)
{
    const quint16 port = writeBothSettingsFiles();
    buildDialog();
    auto* start = child<QPushButton>("btn_start");
    auto* address = child<QLabel>("lab_address");

    start->click();
    EXPECT_EQ(start->text(), "停止服务");
    EXPECT_TRUE(start->property("isListening").toBool());
    EXPECT_TRUE(actived("widget"));
    EXPECT_EQ(address->text(), QStringLiteral("http://127.0.0.1:%1/kovra/v2/dotrans/").arg(port));
    EXPECT_EQ(loopbackGetBody(port), "hello world.");

    start->click();
    EXPECT_EQ(start->text(), "启动服务");
    EXPECT_FALSE(start->property("isListening").toBool());
    EXPECT_FALSE(actived("widget"));
    EXPECT_TRUE(address->text().isEmpty());
    EXPECT_EQ(loopbackGetBody(port), QByteArray());
}

TEST_F(DialogWindow, PortInUseLeavesTheServiceStopped)
{
    const quint16 port = writeBothSettingsFiles();
    QTcpServer occupier;
    ASSERT_TRUE(occupier.listen(QHostAddress::LocalHost, port));
    buildDialog();
    auto* start = child<QPushButton>("btn_start");
    start->click();
    EXPECT_EQ(start->text(), "启动服务");
    EXPECT_FALSE(start->property("isListening").toBool());
    EXPECT_TRUE(child<QLabel>("lab_address")->text().isEmpty());
}

TEST_F(DialogWindow, FirstRunShowsTheWindowAndRegistersAutostart)
{
    buildDialog();
    child<QCheckBox>("cb_startWithOS")->setChecked(false);
    ASSERT_FALSE(QFile::exists(autostartEntry()));

    startUp(*dialog);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(QFile::exists(autostartEntry()));
    EXPECT_FALSE(child<QPushButton>("btn_start")->property("isListening").toBool());
}

TEST_F(DialogWindow, LaterRunsListenAtOnceAndStayInTheTrayWhenThereIsOne)
{
    for (const bool tray : {true, false}) {
        const quint16 port = writeBothSettingsFiles();
        buildDialog({}, tray);
        startUp(*dialog);
        EXPECT_EQ(loopbackGetBody(port), "hello world.") << "tray " << tray;
        EXPECT_EQ(dialog->isVisible(), !tray) << "without a tray the window is the only way in";
        dialog.reset();
    }
}

TEST_F(DialogWindow, ClosingAsksAndNoKeepsTheWindow)
{
    buildDialog();
    dialog->show();
    {
        ModalBoxAnswerer no(QMessageBox::No);
        EXPECT_FALSE(dialog->close());
        EXPECT_TRUE(no.answered());
        EXPECT_EQ(no.title(), "退出程序");
        EXPECT_EQ(no.text(), "是否结束操作退出?");
        EXPECT_TRUE(dialog->isVisible());
    }
    {
        ModalBoxAnswerer no(QMessageBox::No);
        QTest::keyClick(dialog.get(), Qt::Key_Escape);
        EXPECT_TRUE(no.answered()) << "Escape asks as well";
        EXPECT_TRUE(dialog->isVisible());
    }
    ModalBoxAnswerer yes(QMessageBox::Yes);
    EXPECT_TRUE(dialog->close());
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(DialogWindow, MinimisingHidesTheWindowOnlyWhenATrayExists)
{
    for (const bool tray : {true, false}) {
        buildDialog({}, tray);
        dialog->show();
        dialog->setWindowState(Qt::WindowMinimized);
        EXPECT_EQ(dialog->isVisible(), !tray) << "tray " << tray;
        dialog->showNormal();
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_FALSE(dialog->isMinimized());
        dialog.reset();
    }
}

TEST_F(DialogWindow, TrayDoubleClickOrShowBringsTheWindowBack)
{
    buildDialog({}, true);
    dialog->show();
    dialog->setWindowState(Qt::WindowMinimized);
    ASSERT_FALSE(dialog->isVisible());

    dialog->on_activatedSysTrayIcon(QSystemTrayIcon::Trigger);
    EXPECT_FALSE(dialog->isVisible()) << "a single click leaves it to the tray's menu";
    dialog->on_activatedSysTrayIcon(QSystemTrayIcon::DoubleClick);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->isMinimized());

    dialog->setWindowState(Qt::WindowMinimized);
    ASSERT_FALSE(dialog->isVisible());
    QAction* show = nullptr;
    for (QAction* action : dialog->findChildren<QAction*>())
        if (action->text() == "显示")
            show = action;
    ASSERT_NE(show, nullptr);
    show->trigger();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->isMinimized());
}

TEST_F(DialogWindow, PanelColourFollowsItsSwitch)
{
    buildDialog();
    dialog->show();
    auto* panel = child<QWidget>("widget_5");
    const auto background = [panel] { return panel->grab().toImage().pixelColor(3, panel->height() / 2); };
    const QColor checked = background();
    child<QCheckBox>("cb_startWithOS")->setChecked(false);
    const QColor unchecked = background();
    EXPECT_NE(checked, unchecked);
    EXPECT_EQ(unchecked, QColor("#8F9B91"));
}
