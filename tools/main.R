# The main job: load Vemro and show what it does.
library(Vemro)

cat("Vemro interface version:", vemroVersion(), "\n")
cat("Quarter ends of 2020:", vemroDateSeq(20201, 4, 30), "\n")
