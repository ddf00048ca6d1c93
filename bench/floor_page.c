/* The cheapest CGI page: a header and a few lines of HTML, the floor for pages without a database. */
#include <stdio.h>

int main(void) {
  fputs("Content-Type: text/html\r\n\r\n", stdout);
  fputs("<html>\n<head><title>Floor</title></head>\n<body>\n<p>Floor page.</p>\n</body>\n</html>\n",
        stdout);
  return 0;
}
