#include "ui/app/start_sequence.h"

int main(int argc, char** argv) {
    return vellum::runVellumHtml(argc, argv);
}
