# Strings cross to the bridge as bytes. A string marked UTF-8 or latin1 is
# translated to the native encoding, as `.C` would do; a native string,
# even one that is not valid text in this locale, and a string marked
# "bytes" go as the bytes they are (enc2native() would write an invalid
# byte as the four characters "<ff>"). Every string argument of every
# native call, and every path R looks at itself, passes here first, so the
# file system sees the same bytes from every function.
nativeStrings <- function(x) {
  encoding <- Encoding(x)
  marked <- encoding %in% c("UTF-8", "latin1")
  x[marked] <- enc2native(x[marked])
  bytes <- encoding == "bytes"
  if (any(bytes)) Encoding(x)[bytes] <- "unknown"
  x
}

# The engine's texts are UTF-8; marking them says so in every locale.
utf8Texts <- function(x) {
  Encoding(x) <- "UTF-8"
  x
}
