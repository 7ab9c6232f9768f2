#include "app/login_browser.h"
#include "app/startup.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    return QuorvaneMain(application, attachLoginBrowser);
}
