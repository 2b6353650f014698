# bash completion for corvano-cli; the option list comes from the program's own --help.
_corvano_cli()
{
    local cur prev words cword
    _init_completion || return

    case $prev in
        --folder)
            _filedir -d
            return
            ;;
        --template-file | --html | --settings)
            _filedir
            return
            ;;
        --open)
            _filedir url
            return
            ;;
        --url | --template | --start | --end | --contains | --replace | --with | --timeout)
            return
            ;;
    esac

    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W '$(_parse_help "$1")' -- "$cur"))
    fi
} &&
    complete -F _corvano_cli corvano-cli
