/* The cheapest database page: connects as the site does (latin1, compressed protocol, the same
   account and socket) and reads one book by its primary key: the floor for database pages. */
#include <mysql.h>
#include <stdio.h>
#include <stdlib.h>

static const char* setting(const char* name, const char* fallback) {
  const char* value = getenv(name);
  return value && *value ? value : fallback;
}

int main(void) {
  fputs("Content-Type: text/html\r\n\r\n<html>\n<body>\n", stdout);
  MYSQL* mysql = mysql_init(NULL);
  if (!mysql) return 1;
  mysql_options(mysql, MYSQL_SET_CHARSET_NAME, "latin1");
  if (!mysql_real_connect(mysql, setting("AMBRY_MYSQL_HOST", "localhost"),
                          setting("AMBRY_MYSQL_USER", "ambry"),
                          setting("AMBRY_MYSQL_PASSWORD", "marmots"),
                          setting("AMBRY_MYSQL_DBNAME", "ambry"), 0, NULL, CLIENT_COMPRESS)) {
    fputs("<p>No connection.</p>\n</body>\n</html>\n", stdout);
    mysql_close(mysql);
    return 0;
  }
  MYSQL_RES* result = NULL;
  if (mysql_query(mysql, "SELECT id, author, title, isbn FROM BOOK WHERE id = 1") == 0)
    result = mysql_store_result(mysql);
  MYSQL_ROW row = result ? mysql_fetch_row(result) : NULL;
  if (row) {
    /* generated catalogue text: letters, digits and spaces only, so it needs no escaping here */
    printf("<p>%s: %s, %s (%s)</p>\n", row[0] ? row[0] : "", row[1] ? row[1] : "",
           row[2] ? row[2] : "", row[3] ? row[3] : "");
  }
  if (result) mysql_free_result(result);
  mysql_close(mysql);
  fputs("</body>\n</html>\n", stdout);
  return 0;
}
