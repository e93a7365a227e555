/* A tiny program whose bytes hold marked messages, as the product marks its translatable texts. */
#include <stdio.h>

char msg_hello[] = "(__Hello world__)";
char msg_hello_again[] = "(__Hello world__)";
char msg_hello_third[] = "(__Hello world__)";
char msg_lines[] = "(__Line one\r\nLine two\tTabbed__)";
char msg_control[] = "(__Bad \x01 byte__)";
char msg_empty[] = "(____)";
char msg_file[] = "(__File %s not found__)";

int main(void) {
  puts(msg_hello);
  puts(msg_hello_again);
  puts(msg_hello_third);
  puts(msg_lines);
  puts(msg_control);
  puts(msg_empty);
  puts(msg_file);
  return 0;
}
