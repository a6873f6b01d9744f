// The yardstick for Velmora's start-up: the least a Qt Widgets program does to show a window.
// With --label the window also shows one line of text, so the font system is started as in
// any program that shows text.

#include <cstring>

#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Minimal"));
    window.resize(609, 381);
    if (argc > 1 && std::strcmp(argv[1], "--label") == 0) {
        auto* label = new QLabel(QStringLiteral("Velmora"), &window);
        label->move(20, 20);
    }
    window.show();
    return app.exec();
}
