#pragma once

// One piece of work in a fresh process, to be timed from outside, paired with
// the lean floor that does the same work with nothing else:
//   plaklabels_bench --make FOLDER N            writes FOLDER/Data/bench.lst with N addresses
//   plaklabels_bench --load | --floor-load FOLDER
//   plaklabels_bench --save | --floor-save FOLDER N
//   plaklabels_bench --labels | --floor-labels FOLDER N
// For example: /usr/bin/time -v plaklabels_bench --load /tmp/b
// Returns -1 when the arguments name no such work.
int runOneJob(int argc, char* argv[]);
