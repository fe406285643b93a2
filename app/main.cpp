#include "wordmill_app.h"

#include <QApplication>

CWordmillApp theApp;

int main(int argc, char** argv) { return theApp.Run(argc, argv); }
