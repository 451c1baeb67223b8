// The settings window's form: what it loads, what it saves and when.
#include "dialogfixture.h"
#include "privateprogramcopy.h"
#include "logmessagehandler.h"
#include "savelogsetting.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>

static const bool runsFromPrivateCopy = runFromPrivateCopy();

namespace {

const QString serverIni = QStringLiteral("server.ini");
const QString commIni = QStringLiteral("CommunicationConfig.ini");

QVariant comm(const char* key)
{
    return DialogFixture::iniValue(commIni, QStringLiteral("POS_INFO"), QString::fromLatin1(key));
}

QString allLogText()
{
    QString text;
    const QDir logs(DialogFixture::programFile(QStringLiteral("logs")));
    for (const QString& name : logs.entryList(QDir::Files)) {
        QFile file(logs.filePath(name));
        if (file.open(QIODevice::ReadOnly))
            text += QString::fromUtf8(file.readAll());
    }
    return text;
}

QStringList itemTexts(QComboBox* box)
{
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts << box->itemText(i);
    return texts;
}

} // namespace

using DialogSettings = DialogFixture;

TEST_F(DialogSettings, SaveWritesBothFilesWithTheFormsValues)
{
    buildDialog({QStringLiteral("COM1"), QStringLiteral("COM3")});
    child<QComboBox>("cb_comPort")->setCurrentIndex(1);
    child<QLineEdit>("ed_port")->setText(QStringLiteral("99999"));
    child<QLineEdit>("ed_timeout")->setText(QString());
    child<QLineEdit>("et_posIp")->setText(QString());
    child<QLineEdit>("et_posPort")->setText(QStringLiteral("40000"));
    child<QLineEdit>("et_btmac")->setText(QStringLiteral("  00:11:22:33:44:55 "));
    child<QComboBox>("cb_baudRate")->setCurrentText(QStringLiteral("115200"));
    child<QCheckBox>("cb_startWithOS")->setChecked(false);
    child<QToolButton>("btn_save")->click();

    EXPECT_EQ(iniValue(serverIni, "HTTP_INFO", "Port").toInt(), 34463);
    EXPECT_EQ(iniValue(serverIni, "HTTP_INFO", "StartWithOS").toBool(), false);
    EXPECT_EQ(comm("TransTimeout").toInt(), 0);
    EXPECT_EQ(comm("Ip").toString(), "...");
    EXPECT_EQ(comm("Port").toInt(), 40000);
    EXPECT_EQ(comm("btMac").toString(), "00:11:22:33:44:55");
    EXPECT_EQ(comm("BaudRate").toInt(), 115200);
    EXPECT_EQ(comm("ComNo").toInt(), 3);
    EXPECT_EQ(comm("CommunityType").toInt(), 1);
}

TEST_F(DialogSettings, ChoosingAModeSavesEveryFieldAndColoursOnlyItsPanel)
{
    buildDialog();
    EXPECT_TRUE(actived("widget_4"));
    child<QLineEdit>("et_posPort")->setText(QStringLiteral("4321"));
    child<QLineEdit>("ed_port")->setText(QStringLiteral("9191"));

    const struct {
        const char* radio;
        int mode;
        const char* panel;
    } cases[] = {{"ra_com", 0, "widget_2"}, {"ra_bluetooth", 2, "widget_7"}, {"ra_socket", 1, "widget_4"}};
    for (const auto& c : cases) {
        child<QRadioButton>(c.radio)->click();
        EXPECT_EQ(comm("CommunityType").toInt(), c.mode) << c.radio;
        EXPECT_EQ(comm("Port").toInt(), 4321) << c.radio;
        EXPECT_EQ(iniValue(serverIni, "HTTP_INFO", "Port").toInt(), 9191) << c.radio;
        for (const char* panel : {"widget_2", "widget_4", "widget_7"})
            EXPECT_EQ(actived(panel), qstrcmp(panel, c.panel) == 0) << c.radio << " " << panel;
    }
}

TEST_F(DialogSettings, LoadsTheFormFromBothFiles)
{
    writeIni(serverIni, "HTTP_INFO", {{"Port", 7001}, {"StartWithOS", false}});
    writeIni(commIni, "POS_INFO",
             {{"CommunityType", 5}, {"TransTimeout", 60}, {"Ip", "10.1.2.3"}, {"Port", 20500}, {"ComNo", 4},
              {"BaudRate", 57600}, {"btMac", "AA:BB"}});
    buildDialog({QStringLiteral("COM1"), QStringLiteral("COM4")});

    EXPECT_EQ(child<QLineEdit>("ed_port")->text(), "7001");
    EXPECT_EQ(child<QLineEdit>("ed_timeout")->text(), "60");
    EXPECT_TRUE(child<QRadioButton>("ra_bluetooth")->isChecked());
    EXPECT_TRUE(actived("widget_7"));
    EXPECT_FALSE(actived("widget_4"));
    EXPECT_FALSE(child<QCheckBox>("cb_startWithOS")->isChecked());
    EXPECT_FALSE(actived("widget_5"));
    EXPECT_EQ(child<QLineEdit>("et_posIp")->text(), "10.1.2.3");
    EXPECT_EQ(child<QLineEdit>("et_posPort")->text(), "20500");
    EXPECT_EQ(child<QLineEdit>("et_btmac")->text(), "AA:BB");
    EXPECT_EQ(child<QComboBox>("cb_comPort")->currentIndex(), 1);
    EXPECT_EQ(child<QComboBox>("cb_baudRate")->currentText(), "57600");

    // A mode outside the three is shown as Bluetooth and saved as 2.
    child<QToolButton>("btn_save")->click();
    EXPECT_EQ(comm("CommunityType").toInt(), 2);
}

TEST_F(DialogSettings, PortListIsRebuiltFromThePortsPresentWhenItOpens)
{
    writeIni(commIni, "POS_INFO", {{"ComNo", 7}});
    buildDialog({QStringLiteral("COM3"), QStringLiteral("ttyUSB12"), QStringLiteral("rfcomm"),
                 QStringLiteral("COM3")});
    auto* box = child<QComboBox>("cb_comPort");
    EXPECT_EQ(itemTexts(box), QStringList({"3", "12", "0", "3"}));
    EXPECT_EQ(box->currentText(), "7") << "a saved port that is absent stays as text";

    serialPorts = QStringList({QStringLiteral("ttyS1"), QStringLiteral("ttyACM0")});
    box->showPopup();
    EXPECT_EQ(itemTexts(box), QStringList({"1", "0"}));
    box->hidePopup();
}

TEST_F(DialogSettings, StartWithOsBoxWritesAndRemovesTheAutostartEntryAtOnce)
{
    const QString entry = privateProgramFolder() + "/config/autostart/" + QCoreApplication::applicationName()
        + ".desktop";
    buildDialog();
    auto* box = child<QCheckBox>("cb_startWithOS");
    ASSERT_TRUE(box->isChecked());
    EXPECT_TRUE(QFile::exists(entry)) << "a checked box writes the entry again at every start";

    box->setChecked(false);
    EXPECT_FALSE(QFile::exists(entry));
    EXPECT_FALSE(actived("widget_5"));
    EXPECT_EQ(iniValue(serverIni, "HTTP_INFO", "StartWithOS"), QVariant()) << "only a save writes the key";

    box->setChecked(true);
    EXPECT_TRUE(QFile::exists(entry));
    EXPECT_TRUE(actived("widget_5"));
}

TEST_F(DialogSettings, UncheckingTheLogBoxStopsLogging)
{
    buildDialog();
    auto* box = child<QCheckBox>("cb_savelog");
    ASSERT_TRUE(box->isChecked());
    qInstallMessageHandler(logMessageHandler);
    qDebug() << "written while the box is checked";
    box->setChecked(false);
    qDebug() << "dropped while the box is unchecked";
    qInstallMessageHandler(nullptr);

    EXPECT_FALSE(actived("widget_6"));
    const QString log = allLogText();
    EXPECT_TRUE(log.contains("written while the box is checked"));
    EXPECT_FALSE(log.contains("dropped while the box is unchecked"));

    box->setChecked(true);
    EXPECT_TRUE(SaveLogSetting::instance().saveLog());
    EXPECT_TRUE(actived("widget_6"));
}

TEST_F(DialogSettings, ClosingTheWindowWritesBothFiles)
{
    buildDialog();
    ASSERT_FALSE(QFile::exists(programFile(serverIni)));
    ASSERT_FALSE(QFile::exists(programFile(commIni)));
    dialog.reset();
    EXPECT_EQ(iniValue(serverIni, "HTTP_INFO", "Port").toInt(), 8888);
    EXPECT_EQ(comm("Port").toInt(), 20499);
}
