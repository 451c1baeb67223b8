#pragma once

#include "dialogenvironment.h"
#include "misdllconfig.h"
#include "serversettings.h"

#include <QDialog>
#include <QSystemTrayIcon>
#include <QTcpServer>

namespace Ui {
class TillvaneDialog;
}

class QButtonGroup;
class TcpClientSocketManager;

// The program's only window and the owner of its running state: the listening
// server, the service and communication settings, the connection manager and
// the tray icon. Both settings files are written again when it is destroyed.
class TillvaneDialog : public QDialog {
    Q_OBJECT

public:
    explicit TillvaneDialog(QWidget* parent = nullptr, DialogEnvironment environment = DialogEnvironment());
    ~TillvaneDialog() override;

    // Whether server.ini and CommunicationConfig.ini both existed at start.
    bool settingsFilesFound() const;
    bool systemTrayAvailable() const;

public slots:
    void on_btn_start_clicked();
    void onNewConnection();
    void on_btn_save_clicked();
    void on_activatedSysTrayIcon(QSystemTrayIcon::ActivationReason reason);
    void on_cb_startWithOS_stateChanged(int arg1);
    void on_btn_test_login_clicked();
    void on_cb_savelog_stateChanged(int arg1);
    void on_ra_socket_clicked();
    void on_ra_bluetooth_clicked();
    void on_ra_com_clicked();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void reject() override;

private:
    void initTray();
    void initUi();
    void updatePanels();
    void repolish(QWidget* w);
    void refreshComPortList();
    void setActived(QWidget* w, bool on);

    Ui::TillvaneDialog* ui;
    DialogEnvironment environment;
    QButtonGroup* buttonGroup = nullptr;
    QSystemTrayIcon* trayIcon = nullptr;
    QTcpServer server;
    ServerSettings settings;
    MisDllConfig config;
    TcpClientSocketManager* manager = nullptr;
};
