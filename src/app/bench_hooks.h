#pragma once
// Measuring hooks for bench/startup.sh, each switched on by an environment variable; without
// them the program runs as usual.
//   TORVANE_EXIT_AFTER_FIRST_PAINT=1  print the time to the first painted frame and the
//                                     resident memory, then exit
//   TORVANE_SELFPLAY=N                once shown, play a two-person game of N moves by mouse
//                                     clicks on the canvas, print the resident memory, exit
//                                     (TORVANE_SELFPLAY_SHOT=file.png: save the window first)
//   TORVANE_BENCH_WAIT=S              once shown, run the game's wait of S seconds, print the
//                                     processor time it used, exit
class MainWindow;
struct State;

void startBenchHooks(MainWindow& window, State& s);
