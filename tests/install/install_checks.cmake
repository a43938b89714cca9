# Helpers shared by the installation checks.

# Records a failed expectation; the script goes on so one run lists them all.
function(fail message_text)
  message(SEND_ERROR "expected: ${message_text}")
endfunction()

# Width and height of a PNG file from its IHDR chunk (big-endian at 16..23),
# or "not-a-png".
function(png_size file out_var)
  file(READ "${file}" signature LIMIT 8 HEX)
  if(NOT signature STREQUAL "89504e470d0a1a0a")
    set(${out_var} "not-a-png" PARENT_SCOPE)
    return()
  endif()
  file(READ "${file}" header OFFSET 16 LIMIT 8 HEX)
  string(SUBSTRING "${header}" 0 8 width_hex)
  string(SUBSTRING "${header}" 8 8 height_hex)
  math(EXPR width "0x${width_hex}")
  math(EXPR height "0x${height_hex}")
  set(${out_var} "${width}x${height}" PARENT_SCOPE)
endfunction()

# Sorted list of everything under `dir` (files, links and folders).
function(tree_listing dir out_var)
  file(GLOB_RECURSE entries LIST_DIRECTORIES true RELATIVE "${dir}" "${dir}/*")
  list(SORT entries)
  set(${out_var} "${entries}" PARENT_SCOPE)
endfunction()
