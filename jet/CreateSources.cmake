# Writing new files: Jet's empty database, the catalog, and new tables with their rows.
target_sources(jet PRIVATE
  CatalogSchema.cpp
  CatalogWriter.cpp
  CreateFileWriter.cpp
  CreateHeader.cpp
  CreateImage.cpp
  CreateIndexLeaf.cpp
  CreateLongValue.cpp
  CreateRowPacker.cpp
  CreateTableDef.cpp
  CreateTableWriter.cpp
  CreateUsageMap.cpp
  CreateValue.cpp
  DatabaseCreator.cpp
  IndexKey.cpp
)
