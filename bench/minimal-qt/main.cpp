// The yardstick for Velmora's start-up: the least a Qt Widgets program does to show a window.

#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Minimal"));
    window.resize(609, 381);
    window.show();
    return app.exec();
}
