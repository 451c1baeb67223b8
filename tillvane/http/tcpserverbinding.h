#pragma once

class QTcpServer;
class TcpClientSocketManager;

// Hands every socket the server accepts to the manager; a refused socket is
// closed without a word and released.
void bindServerToManager(QTcpServer* server, TcpClientSocketManager* manager);
