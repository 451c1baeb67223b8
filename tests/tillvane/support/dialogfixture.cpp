#include "dialogfixture.h"

#include "privateprogramcopy.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTcpServer>

void DialogFixture::SetUpTestSuite()
{
    Q_INIT_RESOURCE(resources);
    QFile styleSheet(QStringLiteral(":/Ubuntu.qss"));
    if (styleSheet.open(QIODevice::ReadOnly))
        qApp->setStyleSheet(QString::fromUtf8(styleSheet.readAll()));
}

void DialogFixture::SetUp()
{
    QFile::remove(programFile(QStringLiteral("server.ini")));
    QFile::remove(programFile(QStringLiteral("CommunicationConfig.ini")));
    QDir(programFile(QStringLiteral("logs"))).removeRecursively();
    QDir(programFile(QStringLiteral("config/autostart"))).removeRecursively();
}

void DialogFixture::TearDown()
{
    dialog.reset();
}

void DialogFixture::buildDialog(const QStringList& ports, bool trayAvailable)
{
    serialPorts = ports;
    DialogEnvironment environment;
    environment.serialPortNames = [this] { return serialPorts; };
    environment.systemTrayAvailable = [trayAvailable] { return trayAvailable; };
    dialog = std::make_unique<TillvaneDialog>(nullptr, environment);
}

bool DialogFixture::actived(const char* panel) const
{
    return child<QWidget>(panel)->property("isActived").toBool();
}

QString DialogFixture::programFile(const QString& name)
{
    return privateProgramFolder() + QLatin1Char('/') + name;
}

void DialogFixture::writeIni(const QString& name, const QString& group, const QVariantMap& values)
{
    QSettings ini(programFile(name), QSettings::IniFormat);
    ini.beginGroup(group);
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        ini.setValue(it.key(), it.value());
}

QVariant DialogFixture::iniValue(const QString& name, const QString& group, const QString& key)
{
    QSettings ini(programFile(name), QSettings::IniFormat);
    return ini.value(group + QLatin1Char('/') + key);
}

void DialogFixture::installBesideProgram(const QString& sourcePath, const QString& name)
{
    const QString target = programFile(name);
    QFile::remove(target);
    ASSERT_TRUE(QFile::copy(sourcePath, target)) << name.toStdString();
}

quint16 DialogFixture::writeBothSettingsFiles()
{
    const quint16 port = freePort();
    writeIni(QStringLiteral("server.ini"), QStringLiteral("HTTP_INFO"), {{QStringLiteral("Port"), port}});
    writeIni(QStringLiteral("CommunicationConfig.ini"), QStringLiteral("POS_INFO"),
             {{QStringLiteral("CommunityType"), 1}});
    return port;
}

quint16 DialogFixture::freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}
