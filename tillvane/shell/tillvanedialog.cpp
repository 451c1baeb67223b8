#include "tillvanedialog.h"
#include "ui_tillvanedialog.h"

#include "autostart.h"
#include "comportitem.h"
#include "connectiontest.h"
#include "paymentservicenotice.h"
#include "savelogsetting.h"
#include "serviceaddress.h"
#include "tcpclientsocketmanager.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QMenu>
#include <QMessageBox>
#include <QStyle>
#include <QTcpSocket>
#include <QtDebug>

namespace {

const char* const activedProperty = "isActived";
const char* const listeningProperty = "isListening";

} // namespace

TillvaneDialog::TillvaneDialog(QWidget* parent, DialogEnvironment environment)
    : QDialog(parent)
    , ui(new Ui::TillvaneDialog)
    , environment(std::move(environment))
{
    ui->setupUi(this);
    connect(ui->cb_comPort, &NewComboBox::showList, this, &TillvaneDialog::refreshComPortList);
    initTray();
    initUi();
}

TillvaneDialog::~TillvaneDialog()
{
    settings.save();
    config.save();
    delete ui;
}

bool TillvaneDialog::settingsFilesFound() const
{
    return settings.isLoaded() && config.m_loaded;
}

bool TillvaneDialog::systemTrayAvailable() const
{
    return environment.systemTrayAvailable();
}

void TillvaneDialog::initTray()
{
    auto* menu = new QMenu(QStringLiteral("hello"), this);
    QAction* showAction = menu->addAction(QStringLiteral("显示"));
    QAction* quitAction = menu->addAction(QStringLiteral("退出"));

    trayIcon = new QSystemTrayIcon(QIcon(QStringLiteral(":/logo.ico")), this);
    trayIcon->setToolTip(QStringLiteral("QuenmarMIS调用服务"));
    trayIcon->setContextMenu(menu);

    connect(quitAction, &QAction::triggered, qApp, &QCoreApplication::quit);
    connect(showAction, &QAction::triggered, this, &QWidget::showNormal);
    connect(trayIcon, &QSystemTrayIcon::activated, this, &TillvaneDialog::on_activatedSysTrayIcon);

    trayIcon->show();
    trayIcon->showMessage(QStringLiteral("提示"), QStringLiteral("程序已启动！"), QSystemTrayIcon::Information, 10000);
}

void TillvaneDialog::initUi()
{
    buttonGroup = new QButtonGroup(this);
    buttonGroup->addButton(ui->ra_com);
    buttonGroup->addButton(ui->ra_socket);
    buttonGroup->addButton(ui->ra_bluetooth);

    ui->ed_port->setText(QString::number(settings.port()));
    ui->ed_timeout->setText(QString::number(config.m_timout));

    if (config.m_commuMode == 0)
        ui->ra_com->setChecked(true);
    else if (config.m_commuMode == 1)
        ui->ra_socket->setChecked(true);
    else
        ui->ra_bluetooth->setChecked(true);

    // The boxes' slots are connected already: a box that becomes checked here
    // writes the autostart entry again or switches logging on.
    ui->cb_startWithOS->setChecked(settings.startWithOS());
    ui->cb_savelog->setChecked(SaveLogSetting::instance().saveLog());

    updatePanels();
    refreshComPortList();

    const QString comPort = QString::number(config.m_comPort);
    const int comPortIndex = ui->cb_comPort->findText(comPort, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (comPortIndex >= 0)
        ui->cb_comPort->setCurrentIndex(comPortIndex);
    else
        ui->cb_comPort->setEditText(comPort);
    ui->cb_baudRate->setCurrentText(QString::number(config.m_comBaud));

    ui->et_posIp->setText(config.m_hostIP);
    ui->et_posPort->setText(QString::number(config.m_hostPort));
    ui->et_btmac->setText(config.m_btMac);

    manager = new TcpClientSocketManager(this, true);
    manager->setIdle(config.m_commuMode != 0, config.m_hostIP);

    connect(&server, &QTcpServer::newConnection, this, &TillvaneDialog::onNewConnection);
}

void TillvaneDialog::updatePanels()
{
    ui->widget_2->setProperty(activedProperty, false);
    ui->widget_4->setProperty(activedProperty, false);
    ui->widget_7->setProperty(activedProperty, false);
    if (ui->ra_com->isChecked())
        ui->widget_2->setProperty(activedProperty, true);
    else if (ui->ra_socket->isChecked())
        ui->widget_4->setProperty(activedProperty, true);
    else if (ui->ra_bluetooth->isChecked())
        ui->widget_7->setProperty(activedProperty, true);
    else
        ui->widget_4->setProperty(activedProperty, true);
    repolish(ui->widget_2);
    repolish(ui->widget_4);
    repolish(ui->widget_7);

    setActived(ui->widget_5, ui->cb_startWithOS->isChecked());
    setActived(ui->widget_6, ui->cb_savelog->isChecked());
}

void TillvaneDialog::repolish(QWidget* w)
{
    w->style()->unpolish(qApp);
    w->style()->polish(qApp);
    w->update();
}

void TillvaneDialog::setActived(QWidget* w, bool on)
{
    w->setProperty(activedProperty, on);
    repolish(w);
}

void TillvaneDialog::refreshComPortList()
{
    ui->cb_comPort->clear();
    const QStringList names = environment.serialPortNames();
    for (const QString& name : names)
        ui->cb_comPort->addItem(comPortItem(name));
}

void TillvaneDialog::on_btn_start_clicked()
{
    if (server.isListening()) {
        ui->widget->setProperty(activedProperty, false);
        ui->btn_start->setText(QStringLiteral("启动服务"));
        ui->btn_start->setProperty(listeningProperty, false);
        server.close();
        ui->lab_address->clear();
        qDebug() << "listen service is stoped. port:" << settings.port();
    } else if (server.listen(settings.hostAddress(), settings.port())) {
        qDebug() << "listen on " << settings.port();
        ui->btn_start->setText(QStringLiteral("停止服务"));
        ui->btn_start->setProperty(listeningProperty, true);
        ui->lab_address->setText(serviceAddress(settings.port()));
        ui->widget->setProperty(activedProperty, true);
    } else {
        qDebug() << "listen " << settings.port() << " failed";
    }
    repolish(ui->widget);
}

void TillvaneDialog::onNewConnection()
{
    QTcpSocket* socket = server.nextPendingConnection();
    if (!socket || manager->addConnection(socket))
        return;
    socket->close();
    socket->deleteLater();
}

void TillvaneDialog::on_btn_save_clicked()
{
    settings.setPort(static_cast<quint16>(ui->ed_port->text().trimmed().toUInt()));
    settings.setStartWithOS(ui->cb_startWithOS->isChecked());
    settings.save();

    config.m_btMac = ui->et_btmac->text().trimmed();
    config.m_hostIP = ui->et_posIp->text().trimmed();
    config.m_hostPort = ui->et_posPort->text().trimmed().toInt();
    config.m_timout = ui->ed_timeout->text().trimmed().toInt();
    if (ui->ra_com->isChecked())
        config.m_commuMode = 0;
    else if (ui->ra_socket->isChecked())
        config.m_commuMode = 1;
    else if (ui->ra_bluetooth->isChecked())
        config.m_commuMode = 2;
    else
        config.m_commuMode = 1;
    config.m_comBaud = ui->cb_baudRate->currentText().trimmed().toInt();
    config.m_comPort = ui->cb_comPort->currentText().toInt();
    config.save();

    manager->setIdle(ui->ra_socket->isChecked(), config.m_hostIP);
    noticeCommunicationSettingsSaved();
}

void TillvaneDialog::on_activatedSysTrayIcon(QSystemTrayIcon::ActivationReason reason)
{
    if (reason == QSystemTrayIcon::DoubleClick)
        showNormal();
}

void TillvaneDialog::on_cb_startWithOS_stateChanged(int arg1)
{
    const bool on = arg1 == Qt::Checked;
    setAutoStart(on);
    setActived(ui->widget_5, on);
}

void TillvaneDialog::on_btn_test_login_clicked()
{
    const QString answer = runConnectionTest(config.m_useDllV2);
    QMessageBox::information(nullptr, QStringLiteral("连接测试结果"), answer, QMessageBox::Ok);
}

void TillvaneDialog::on_cb_savelog_stateChanged(int arg1)
{
    ui->widget_6->setProperty(activedProperty, arg1 != 0);
    SaveLogSetting::instance().setsaveLogFlag(arg1 != 0);
    repolish(ui->widget_6);
}

void TillvaneDialog::on_ra_socket_clicked()
{
    updatePanels();
    on_btn_save_clicked();
}

void TillvaneDialog::on_ra_bluetooth_clicked()
{
    updatePanels();
    on_btn_save_clicked();
}

void TillvaneDialog::on_ra_com_clicked()
{
    updatePanels();
    on_btn_save_clicked();
}

void TillvaneDialog::closeEvent(QCloseEvent* event)
{
    const auto answer = QMessageBox::question(this, QStringLiteral("退出程序"), QStringLiteral("是否结束操作退出?"),
                                              QMessageBox::Yes | QMessageBox::No, QMessageBox::NoButton);
    if (answer == QMessageBox::Yes)
        event->accept();
    else
        event->ignore();
}

void TillvaneDialog::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::WindowStateChange && isMinimized() && systemTrayAvailable()) {
        hide();
        trayIcon->showMessage(QStringLiteral("提示"), QStringLiteral("程序最小化到托盘"), QSystemTrayIcon::Information,
                              10000);
        return;
    }
    QDialog::changeEvent(event);
}

// Escape would otherwise close the window, and with it the program, without
// the question that the close button asks.
void TillvaneDialog::reject()
{
    close();
}
