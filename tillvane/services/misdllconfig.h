#pragma once

#include <QString>

// How the program reaches the payment terminal and which transaction
// libraries it loads: section "POS_INFO" of CommunicationConfig.ini beside
// the program. A plain value; each owner keeps its own copy and reads the
// fields directly.
class MisDllConfig
{
public:
    // Loads "./CommunicationConfig.ini".
    MisDllConfig();
    // Starts from the defaults below, then loads file (placed beside the program).
    explicit MisDllConfig(const QString& file);
    // Starts from the defaults below, then loads the file at path as it
    // stands (not placed beside the program).
    static MisDllConfig fromPath(const QString& path);

    // Reads file (placed beside the program); false when there is no such
    // file, in which case every field stays as it was.
    bool load(const QString& file);
    // Reads the file of the last load again.
    bool reload();
    // Writes all ten keys to the file of the last load.
    void save() const;

    // The communication fields in one line, for the log.
    QString toString() const;

    bool m_useDllV2 = false; // the connection test uses the v2 library
    int m_commuMode = 1; // 0 serial port, 1 TCP/IP, 2 Bluetooth
    int m_timout = 180; // terminal time-out in seconds
    int m_hostPort = 20499; // TCP port of the terminal
    QString m_hostIP; // IP address of the terminal
    int m_comPort = 1; // serial port number
    int m_comBaud = 9600; // serial baud rate
    QString m_dllFile = QStringLiteral("libkovramis.so"); // v1 transaction library
    QString m_dllFile2 = QStringLiteral("./libzelkamisdll.so"); // v2 transaction library
    QString m_btMac; // Bluetooth address of the terminal
    QString m_filePath; // resolved path of the settings file
    bool m_loaded = false; // some load found the file

private:
    struct Unloaded {
    };
    explicit MisDllConfig(Unloaded) { }
    bool loadFrom(const QString& path);
};
