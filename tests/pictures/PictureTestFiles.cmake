# Picture files for the loader tests, written at build time by an independent writer,
# ImageMagick, from the sample images of Debian's libjpeg-turbo source package: BMP
# variants of the colour photograph, each with ImageMagick's own decoding of it as PPM,
# PPM decodings of the shipped BMP samples, and greyscale, progressive and CMYK JPEGs.
# Both builds make them on this machine; the Windows tests read them through drive Z:.
set(picture_samples ${pavina_picture_samples})
set(picture_variants ${pavina_picture_variants})
set(picture_convert /usr/bin/convert)  # not /usr/local/bin/convert, a wrapper
if(NOT EXISTS ${picture_convert})
  message(FATAL_ERROR "ImageMagick's ${picture_convert} is missing: run scripts/setup.sh")
endif()
set(picture_photo ${picture_samples}/testorig.ppm)
set(picture_outputs)

# picture_file(OUTPUT SOURCE CONVERT-ARGUMENTS...): one call of convert.
function(picture_file output source)
  add_custom_command(OUTPUT ${picture_variants}/${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${picture_variants}
    COMMAND ${picture_convert} ${source} ${ARGN} ${picture_variants}/${output}
    DEPENDS ${source} VERBATIM)
  set(picture_outputs ${picture_outputs} ${picture_variants}/${output} PARENT_SCOPE)
endfunction()

# picture_variant(NAME FORMAT CONVERT-OPTIONS...): NAME.bmp from the photograph, NAME.ppm
# from NAME.bmp.
function(picture_variant name format)
  add_custom_command(OUTPUT ${picture_variants}/${name}.bmp ${picture_variants}/${name}.ppm
    COMMAND ${CMAKE_COMMAND} -E make_directory ${picture_variants}
    COMMAND ${picture_convert} ${picture_photo} ${ARGN} ${format}:${picture_variants}/${name}.bmp
    COMMAND ${picture_convert} ${picture_variants}/${name}.bmp -depth 8
            ${picture_variants}/${name}.ppm
    DEPENDS ${picture_photo} VERBATIM)
  set(picture_outputs ${picture_outputs} ${picture_variants}/${name}.bmp
      ${picture_variants}/${name}.ppm PARENT_SCOPE)
endfunction()

picture_variant(info24 BMP3)
picture_variant(core24 BMP2)
picture_variant(core8 BMP2 -colors 256 -type Palette)
picture_variant(core4 BMP2 -colors 16 -type Palette)
picture_variant(info8 BMP3 -colors 256 -type Palette -compress None)
picture_variant(rle8 BMP3 -colors 256 -type Palette -compress RLE)
picture_variant(info4 BMP3 -colors 16 -type Palette)
picture_variant(info1 BMP3 -monochrome)
picture_variant(v5rgb24 BMP)
picture_variant(v4rgb24 BMP -define bmp:format=bmp4)
picture_variant(rgb565 BMP -define bmp:subtype=RGB565)
picture_variant(rgb555 BMP -define bmp:subtype=RGB555)
picture_variant(argb4444 BMP -alpha set -define bmp:subtype=ARGB4444)
picture_variant(argb1555 BMP -alpha set -define bmp:subtype=ARGB1555)
picture_variant(xrgb32 BMP3 -alpha set -define bmp3:alpha=true)
picture_variant(argb32 BMP -alpha set)
foreach(sample nightshot_iso_100 vgl_5674_0098 vgl_6434_0018a vgl_6548_0026a)
  picture_file(${sample}.ppm ${picture_samples}/${sample}.bmp -depth 8)
endforeach()
picture_file(grey.jpg ${picture_photo} -colorspace Gray -quality 90)
picture_file(progressive.jpg ${picture_photo} -interlace JPEG -quality 80)
picture_file(cmyk.jpg ${picture_photo} -colorspace CMYK)
# A logo with alpha beside the same picture as two bitmaps, its colours and its alpha as a
# key, and an opaque PNG.
picture_file(alpha.png ${picture_photo} -alpha set -channel A -fx "(i*7+j*3)/(w*7+h*3)"
             +channel)
picture_file(alpha-colour.bmp ${picture_variants}/alpha.png -alpha off)
picture_file(alpha-key.bmp ${picture_variants}/alpha.png -alpha extract)
picture_file(opaque.png ${picture_photo})

# ImageMagick's reading of each file of the PngSuite.
set(png_suite ${pavina_png_suite})
set(png_references ${pavina_png_references})
add_custom_command(OUTPUT ${png_references}/.made
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/png-references.sh ${png_suite} ${png_references}
  DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/png-references.sh VERBATIM)
set(picture_outputs ${picture_outputs} ${png_references}/.made)

add_custom_target(pavina_test_pictures DEPENDS ${picture_outputs})
