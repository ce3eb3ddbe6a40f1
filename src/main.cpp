#include "ui/app/start_sequence.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif

int main(int argc, char** argv) {
#ifdef __GLIBC__
    // A large document's text passes through buffers of many megabytes. Served from the heap
    // (which the allocator does by default once such a buffer has been freed), they leave it
    // fragmented and the memory is never given back; mapped separately, each is given back when
    // freed, and growing one moves no bytes.
    mallopt(M_MMAP_THRESHOLD, 1 << 20);
#endif
    return vellum::runVellumHtml(argc, argv);
}
