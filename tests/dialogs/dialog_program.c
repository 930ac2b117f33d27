/*
 * Calls the library's dialog exports named on the command line, in order,
 * and prints each result on a line of its own: dialog_program HelpBox
 * AboutBox KD_HELPABOUTME KD_ABOUTDLL. A plain C program that knows no
 * toolkit, as any program calling the library is.
 */
#include <kalcore.h>
#include <stdio.h>
#include <string.h>

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        long result;
        if (strcmp(argv[i], "HelpBox") == 0) {
            result = (long)HelpBox();
        } else if (strcmp(argv[i], "AboutBox") == 0) {
            result = (long)AboutBox();
        } else if (strcmp(argv[i], "KD_HELPABOUTME") == 0) {
            result = (long)KD_HELPABOUTME();
        } else if (strcmp(argv[i], "KD_ABOUTDLL") == 0) {
            result = (long)KD_ABOUTDLL();
        } else {
            fprintf(stderr, "unknown export %s\n", argv[i]);
            return 2;
        }
        printf("%s %ld\n", argv[i], result);
        fflush(stdout);
    }
    return 0;
}
