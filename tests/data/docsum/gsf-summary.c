/* Writes a compound file holding only a summary-information set, through libgsf, so that the
 * reader is checked against a writer other than LibreOffice.
 * Usage: gsf-summary OUT CODEPAGE TITLE SUBJECT AUTHOR LASTAUTHOR TEMPLATE SAVED
 * SAVED is seconds since 1970 (UTC); CODEPAGE 0 leaves libgsf's default. */
#include <gsf/gsf.h>
#include <stdio.h>
#include <stdlib.h>

static void put_text(GsfDocMetaData *meta, const char *name, const char *text) {
  GValue *value = g_new0(GValue, 1);
  g_value_init(value, G_TYPE_STRING);
  g_value_set_string(value, text);
  gsf_doc_meta_data_insert(meta, g_strdup(name), value);
}

int main(int argc, char **argv) {
  if (argc != 9) {
    fprintf(stderr, "usage: %s OUT CODEPAGE TITLE SUBJECT AUTHOR LASTAUTHOR TEMPLATE SAVED\n",
            argv[0]);
    return 2;
  }
  gsf_init();
  GError *error = NULL;
  GsfOutput *file = gsf_output_stdio_new(argv[1], &error);
  if (!file) {
    fprintf(stderr, "%s: %s\n", argv[1], error->message);
    return 1;
  }
  GsfOutfile *storage = gsf_outfile_msole_new(file);
  GsfOutput *stream = gsf_outfile_new_child(storage, "\005SummaryInformation", FALSE);
  GsfDocMetaData *meta = gsf_doc_meta_data_new();
  const int codepage = atoi(argv[2]);
  if (codepage != 0) {
    GValue *value = g_new0(GValue, 1);
    g_value_init(value, G_TYPE_INT);
    g_value_set_int(value, codepage);
    gsf_doc_meta_data_insert(meta, g_strdup(GSF_META_NAME_CODEPAGE), value);
  }
  put_text(meta, GSF_META_NAME_TITLE, argv[3]);
  put_text(meta, GSF_META_NAME_SUBJECT, argv[4]);
  put_text(meta, GSF_META_NAME_CREATOR, argv[5]);
  put_text(meta, GSF_META_NAME_LAST_SAVED_BY, argv[6]);
  put_text(meta, GSF_META_NAME_TEMPLATE, argv[7]);
  GsfTimestamp *saved = gsf_timestamp_new();
  gsf_timestamp_set_time(saved, g_ascii_strtoull(argv[8], NULL, 10));
  GValue *value = g_new0(GValue, 1);
  g_value_init(value, GSF_TIMESTAMP_TYPE);
  gsf_timestamp_to_value(saved, value);
  gsf_timestamp_free(saved);
  gsf_doc_meta_data_insert(meta, g_strdup(GSF_META_NAME_DATE_MODIFIED), value);
  const gboolean written = gsf_doc_meta_data_write_to_msole(meta, stream, FALSE);
  gsf_output_close(stream);
  g_object_unref(stream);
  gsf_output_close(GSF_OUTPUT(storage));
  g_object_unref(storage);
  g_object_unref(file);
  g_object_unref(meta);
  gsf_shutdown();
  return written ? 0 : 1;
}
