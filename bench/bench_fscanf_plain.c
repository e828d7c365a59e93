// SPDX-License-Identifier: MIT
/* The baseline for the calibration file reader: the record format's plain fscanf
 * loop over a file, nothing else. Prints the best processor time of the runs in
 * milliseconds and the number of records scanned. */
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

static double nowMs(void)
{
    struct timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

/* Big enough for every token of the generated catalogues. */
static char tag[6][4096];
static char name[4096];

static long scanFile(const char *path)
{
    FILE *f = fopen(path, "r");
    if (!f) {
        perror(path);
        exit(1);
    }
    long records = 0;
    float v[10];
    int index;
    for (;;) {
        const int n = fscanf(f, "%s %[^\n] %s %f %s %f %f %f %s %f %f %f %s %f %f %f %s %d", tag[0], name,
                             tag[1], &v[0], tag[2], &v[1], &v[2], &v[3], tag[3], &v[4], &v[5], &v[6], tag[4],
                             &v[7], &v[8], &v[9], tag[5], &index);
        if (feof(f) || n < 18)
            break;
        ++records;
    }
    fclose(f);
    return records;
}

int main(int argc, char **argv)
{
    if (argc < 2) {
        fprintf(stderr, "usage: %s catalogue [runs]\n", argv[0]);
        return 2;
    }
    const int runs = argc > 2 ? atoi(argv[2]) : 5;
    double best = -1;
    long records = 0;
    for (int i = 0; i < runs; ++i) {
        const double start = nowMs();
        records = scanFile(argv[1]);
        const double ms = nowMs() - start;
        if (best < 0 || ms < best)
            best = ms;
    }
    printf("%.3f %ld\n", best, records);
    return 0;
}
