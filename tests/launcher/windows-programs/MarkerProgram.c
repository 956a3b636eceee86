/* A small Windows program for the Linux edition's tests. It carries the icons of Icons.rc when
   built with them, and when run it writes the arguments it was given, one a line, into the file
   "marker" of the folder it was started in: written aside, then renamed, so that a test polling
   for the file never reads half of it. */
#include <stdio.h>

int main(int argc, char** argv) {
    FILE* out = fopen("marker.tmp", "w");
    if (out == NULL) {
        return 2;
    }
    for (int i = 1; i < argc; ++i) {
        fprintf(out, "%s\n", argv[i]);
    }
    if (fclose(out) != 0) {
        return 3;
    }
    remove("marker");
    return rename("marker.tmp", "marker") == 0 ? 0 : 4;
}
