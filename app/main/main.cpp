#include <QApplication>
#include <QMessageBox>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMessageBox::information(nullptr, QStringLiteral("Tolvar"),
                             QStringLiteral("Tolvar wordt nog gebouwd."));
    return 0;
}
