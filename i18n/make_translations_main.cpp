// Writes the shipped translation files from the built-in factory texts, so
// that the files and the editor's factory texts come from one source.

#include "i18n/core/shipped_translations.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIR\n",
                     argc > 0 ? argv[0] : "tallimo-make-translations");
        return 2;
    }
    if (!tallimo::i18n::WriteShippedTranslations(argv[1])) {
        std::fprintf(stderr, "cannot write the translation files into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
