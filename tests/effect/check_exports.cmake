# Fails unless the plug-in exports exactly the entry points, the frame's data and
# the module library's functions. Run as: cmake -DNM=... -DPLUGIN=... -P check_exports.cmake
set(expected
  main_macho VSTPluginMain main oome hostCanDos plugCanDos
  gAudioSamplingRate gAudioSamplingRateReciprocal
  csd_set_attr csd_get_attr csd_mem_alloc csd_mem_free
  csd_fast_abs csd_fast_max csd_fast_min csd_fast_clip
  csd_utilities_amplitude2decibels csd_utilities_decibels2amplitude
  float2OnOff float2percent
  table_init table_free table_fill table_lookup_clip table_lookup_clip_bipolar
  delay_init delay_free delay_set_attr delay_get_attr delay_dsp delay_get_output
  filter_multimode_init filter_multimode_free filter_multimode_set_attr
  filter_multimode_get_attr filter_multimode_dsp filter_multimode_get_output
  filter_2_pole_low_pass_init filter_2_pole_low_pass_free filter_2_pole_low_pass_set_attr
  filter_2_pole_low_pass_get_attr filter_2_pole_low_pass_clear filter_2_pole_low_pass_dsp
  filter_downsample_init filter_downsample_free filter_downsample_set_attr
  filter_downsample_get_attr filter_downsample_dsp filter_downsample_get_output)

execute_process(COMMAND ${NM} -D --defined-only ${PLUGIN}
  OUTPUT_VARIABLE listing RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "nm failed on ${PLUGIN}")
endif()

string(REGEX MATCHALL "[^\n]+" lines "${listing}")
set(exported)
foreach(line IN LISTS lines)
  string(REGEX REPLACE "^.* ([^ ]+)$" "\\1" name "${line}")
  # Not ours: AddressSanitizer's markers for exported globals (sanitizer builds),
  # and the section bounds the linker defines when the plug-in links further
  # shared libraries (the panel's cairo and X11).
  if(NOT name MATCHES "^__odr_asan\\." AND NOT name MATCHES "^(__bss_start|_edata|_end)$")
    list(APPEND exported ${name})
  endif()
endforeach()

set(unexpected ${exported})
list(REMOVE_ITEM unexpected ${expected})
set(missing ${expected})
list(REMOVE_ITEM missing ${exported})
if(unexpected OR missing)
  message(FATAL_ERROR "exports differ\n  not expected: ${unexpected}\n  missing: ${missing}")
endif()
message(STATUS "exports as expected: ${exported}")
