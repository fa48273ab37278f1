# The reference for link discovery: for each file named on the command line,
# prints the links the two img patterns find, each followed by NUL, and then
# a byte 1 to end the file's list.
use strict;
use warnings;

my $s = '[ \t\n\r\f]';    # exactly space, tab, LF, CR and FF
my @patterns = (
    qr/(?i)<img${s}[^>]*(src)${s}*=${s}*(")([^"]*)\2[^>]*>/,
    qr/(?i)<img${s}[^>]*(src)${s}*=(${s}*)([^ \t\n\r\f">]*)\2[^>]*>/,
);
binmode STDOUT;
for my $file (@ARGV) {
    open(my $in, '<:raw', $file) or die "$file: $!";
    local $/;
    my $page = <$in>;
    close $in;
    for my $re (@patterns) {
        while ($page =~ /$re/g) {
            print "$3\0" if length $3;
        }
    }
    print "\1";
}
