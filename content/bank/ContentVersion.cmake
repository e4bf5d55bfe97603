# Writes the content version of a compiled bank beside it: the SHA-256 of the file. The build is
# reproducible, so the version changes exactly when the content does.
#   cmake -DBANK=qvtb.mdb -DVERSION=qvtb.mdb.version -P ContentVersion.cmake
file(SHA256 ${BANK} digest)
file(WRITE ${VERSION}.draft "${digest}\n")
file(RENAME ${VERSION}.draft ${VERSION})
