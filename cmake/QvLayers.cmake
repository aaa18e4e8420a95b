# The source folders from the bottom up. A folder may include headers of the
# layers below its own and of itself, never of its own layer or one above:
# cmake/check_layers.cmake fails the build when one does.
set(QV_LAYERS platform "crypt foxdb res" ado data grid app work parts office "qv tools")

# Every folder named above, lowest first.
set(QV_SOURCE_FOLDERS "")
foreach(layer IN LISTS QV_LAYERS)
  separate_arguments(names UNIX_COMMAND "${layer}")
  list(APPEND QV_SOURCE_FOLDERS ${names})
endforeach()
