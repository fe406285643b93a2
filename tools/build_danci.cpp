// Makes danci.mdb from word lists: build_danci OUT --cet4 FILE.tsv --cet6 FILE.tsv
#include "wordbank.h"

#include <iostream>
#include <string_view>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: build_danci OUT.mdb [--cet4 FILE.tsv] [--cet6 FILE.tsv]\n";
        return 2;
    }
    std::vector<BankTable> banks;
    try {
        for (int i = 2; i < argc; i += 2) {
            std::string_view flag = argv[i];
            if ((flag != "--cet4" && flag != "--cet6") || i + 1 >= argc) {
                std::cerr << "build_danci: unexpected argument " << flag << "\n";
                return 2;
            }
            banks.push_back({flag == "--cet4" ? "CET4" : "CET6", ReadWordList(argv[i + 1])});
        }
        BuildWordDatabase(argv[1], banks);
    } catch (const WordBankError& e) {
        std::cerr << "build_danci: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
