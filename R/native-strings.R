# Strings cross to the bridge as bytes. `.C` translates character arguments
# to the native encoding while `.Call` hands over the bytes as they are, so
# every string argument is translated here first: a path then reaches the
# file system as the same bytes from every function.
nativeStrings <- function(x) enc2native(x)

# The engine's texts are UTF-8; marking them says so in every locale.
utf8Texts <- function(x) {
  Encoding(x) <- "UTF-8"
  x
}
