#include "app/wordmill_app.h"
#include "store/paths.h"

#include <filesystem>

CWordmillApp theApp;

// A folder named on the command line becomes the current directory, where the data files
// are: the Windows autostart entry names it, since Windows starts programs elsewhere.
int main(int argc, char** argv) {
    if (argc == 2) {
        std::error_code ec;
        const std::filesystem::path folder = PathOf(argv[1]);
        if (std::filesystem::is_directory(folder, ec))
            std::filesystem::current_path(folder, ec);
    }
    return theApp.Run(argc, argv);
}
