#include "app/wordmill_app.h"

CWordmillApp theApp;

int main(int argc, char** argv) {
    return theApp.Run(argc, argv);
}
