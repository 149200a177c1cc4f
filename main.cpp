#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QLabel window("KVL");
    window.setWindowTitle("TARVIK\u00AE Computer Vavedaver");
    window.resize(800, 600);
    window.show();
    return app.exec();
}
