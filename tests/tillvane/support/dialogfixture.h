#pragma once

#include "dialogenvironment.h"
#include "tillvanedialog.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <QVariantMap>

#include <memory>

// A settings window built in the test program's private folder (see
// privateprogramcopy.h), where its settings files live, with the serial ports
// and the tray the test chooses.
class DialogFixture : public ::testing::Test {
public:
    // INI files beside the program.
    static QString programFile(const QString& name);
    static void writeIni(const QString& name, const QString& group, const QVariantMap& values);
    static QVariant iniValue(const QString& name, const QString& group, const QString& key);
    // Copies a file (a library) beside the program under name, replacing any.
    static void installBesideProgram(const QString& sourcePath, const QString& name);
    // Both files the window loads, with a free loopback port for the service.
    static quint16 writeBothSettingsFiles();

    static quint16 freePort();

protected:
    static void SetUpTestSuite();
    // Every test starts without settings files, log or autostart entry.
    void SetUp() override;
    void TearDown() override;

    void buildDialog(const QStringList& serialPorts = {}, bool trayAvailable = false);

    template <class T>
    T* child(const char* objectName) const
    {
        T* found = dialog->findChild<T*>(QString::fromLatin1(objectName));
        EXPECT_NE(found, nullptr) << objectName;
        return found;
    }
    bool actived(const char* panel) const;

    std::unique_ptr<TillvaneDialog> dialog;
    QStringList serialPorts;
};
