// Makes danci.mdb from word lists:
//   build_danci OUT [--force | --keep-reviews] [--cet4 FILE.tsv] [--cet6 FILE.tsv]
//               [--yinbiao FILE.tsv] [--liju FILE.tsv] [--cizu FILE.tsv]
//   build_danci LEARNER.mdb --upgrade-from BUNDLED.mdb   (keeps the learner's reviews)
#include "store/word_schema.h"
#include "tools/wordbank.h"

#include <iostream>
#include <string_view>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: build_danci OUT.mdb [--force | --keep-reviews] [--cet4 FILE.tsv] "
                     "[--cet6 FILE.tsv] [--yinbiao FILE.tsv] [--liju FILE.tsv] [--cizu FILE.tsv]\n";
        return 2;
    }
    if (argc == 4 && std::string_view(argv[2]) == "--upgrade-from") {
        try {
            UpgradeWordDatabase(argv[1], argv[3]);
            return 0;
        } catch (const WordBankError& e) {
            std::cerr << "build_danci: " << e.what() << "\n";
            return 1;
        }
    }
    std::vector<BankTable> banks;
    std::vector<WordEntry> transcriptions;
    std::vector<ExampleLine> sentences, phrases;
    ExistingDatabase existing = ExistingDatabase::Refuse;
    try {
        for (int i = 2; i < argc; ++i) {
            std::string_view flag = argv[i];
            if (flag == "--force" || flag == "--keep-reviews") {
                existing =
                    flag == "--force" ? ExistingDatabase::Replace : ExistingDatabase::KeepReviews;
            } else if ((flag == "--cet4" || flag == "--cet6") && i + 1 < argc) {
                banks.push_back(
                    {flag == "--cet4" ? mdb::kCet4 : mdb::kCet6, ReadWordList(argv[++i])});
            } else if (flag == "--yinbiao" && i + 1 < argc) {
                transcriptions = ReadWordList(argv[++i]);
            } else if ((flag == "--liju" || flag == "--cizu") && i + 1 < argc) {
                (flag == "--liju" ? sentences : phrases) = ReadExampleList(argv[++i]);
            } else {
                std::cerr << "build_danci: unexpected argument " << flag << "\n";
                return 2;
            }
        }
        BuildWordDatabase(argv[1], banks, existing, transcriptions, sentences, phrases);
    } catch (const WordBankError& e) {
        std::cerr << "build_danci: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
