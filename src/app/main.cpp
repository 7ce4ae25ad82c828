#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Talvoro"));
    QApplication::setApplicationDisplayName(QStringLiteral("Talvoro"));
    QMainWindow janela;
    janela.setWindowTitle(QStringLiteral("Talvoro"));
    janela.showMaximized();
    return app.exec();
}
