/* Loaded into the program with LD_PRELOAD by measure.sh: notes the moment the program first
 * sends a window's picture to the X server (Qt's backing store flush, through shared memory
 * or a plain put), which is the first frame on screen. Writes one line to the file named by
 * MORIVA_FIRST_FRAME_OUT:
 *   <wall clock ms> <process CPU ms> <CPU ms of the thread that flushed>
 * Build: cc -shared -fPIC -O2 -o first_frame_probe.so first_frame_probe.c -ldl */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

static int noted;

/* The real function: the xcb libraries come in with Qt's platform plugin, outside the global
 * scope that RTLD_NEXT searches, so they are looked up by name. */
static void* real_function(const char* library, const char* name) {
  void* handle = dlopen(library, RTLD_LAZY | RTLD_NOLOAD);
  return handle ? dlsym(handle, name) : NULL;
}

static long long ms(clockid_t clock) {
  struct timespec t;
  clock_gettime(clock, &t);
  return (long long)t.tv_sec * 1000 + t.tv_nsec / 1000000;
}

static void note(void) {
  if (noted) return;
  noted = 1;
  const char* path = getenv("MORIVA_FIRST_FRAME_OUT");
  FILE* out = path ? fopen(path, "w") : NULL;
  if (!out) return;
  fprintf(out, "%lld %lld %lld\n", ms(CLOCK_REALTIME), ms(CLOCK_PROCESS_CPUTIME_ID),
          ms(CLOCK_THREAD_CPUTIME_ID));
  fclose(out);
}

/* Both calls return an xcb cookie, a struct of one unsigned int. */
typedef struct { unsigned int sequence; } cookie;

cookie xcb_shm_put_image(void* c, uint32_t drawable, uint32_t gc, uint16_t total_width,
                         uint16_t total_height, uint16_t src_x, uint16_t src_y, uint16_t src_width,
                         uint16_t src_height, int16_t dst_x, int16_t dst_y, uint8_t depth,
                         uint8_t format, uint8_t send_event, uint32_t shmseg, uint32_t offset) {
  static cookie (*real)(void*, uint32_t, uint32_t, uint16_t, uint16_t, uint16_t, uint16_t, uint16_t,
                        uint16_t, int16_t, int16_t, uint8_t, uint8_t, uint8_t, uint32_t, uint32_t);
  if (!real) real = real_function("libxcb-shm.so.0", "xcb_shm_put_image");
  cookie r = real(c, drawable, gc, total_width, total_height, src_x, src_y, src_width, src_height,
                  dst_x, dst_y, depth, format, send_event, shmseg, offset);
  note();
  return r;
}

cookie xcb_image_put(void* c, uint32_t draw, uint32_t gc, void* image, int16_t x, int16_t y,
                     uint8_t left_pad) {
  static cookie (*real)(void*, uint32_t, uint32_t, void*, int16_t, int16_t, uint8_t);
  if (!real) real = real_function("libxcb-image.so.0", "xcb_image_put");
  cookie r = real(c, draw, gc, image, x, y, left_pad);
  note();
  return r;
}
