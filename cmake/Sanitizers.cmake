# Applied to the whole build (third-party code included) so that ASan sees every allocation.
if(KIVOLA_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()
