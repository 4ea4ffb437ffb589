# Reads a CSV export as an analyst would, read.csv(f, encoding = "UTF-8"), and prints
# the row count, then for each row each requested column: its UTF-8 bytes in hex, or
# VIDE when missing.
a <- commandArgs(trailingOnly = TRUE)
d <- read.csv(a[1], encoding = "UTF-8")
cat(sprintf("lignes %d\n", nrow(d)))
for (i in seq_len(nrow(d))) {
  for (colonne in a[-1]) {
    v <- d[[colonne]][i]
    if (is.na(v) || identical(as.character(v), "")) {
      cat("VIDE\n")
    } else {
      cat(paste(as.character(charToRaw(enc2utf8(as.character(v)))), collapse = ""), "\n",
          sep = "")
    }
  }
}
